#include "support/TestEnvironment.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/CatalogueLocation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <utility>

void copyFactoryCatalogue(const QString &folder)
{
    QDir().mkpath(folder);
    // A test run as another user (UnprivilegedRun) reads a copy of the factory catalogue.
    const QDir source(
        qEnvironmentVariable("TALLIMER_TEST_FACTORY_CATALOGUE", QStringLiteral(TALLIMER_FACTORY_CATALOGUE)));
    // Plain copies: QFile::copy syncs every file to disk, which a throw-away folder does not need
    // and which made each test function's setup cost up to a second on a busy disk.
    for (const QFileInfo &file : source.entryInfoList({QStringLiteral("*.ucr")}, QDir::Files)) {
        QFile in(file.absoluteFilePath());
        QFile out(QDir(folder).filePath(file.fileName()));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) || out.write(in.readAll()) != in.size())
            qFatal("cannot copy %s", qPrintable(file.fileName()));
    }
}

namespace {
TestEnvironment *g_current = nullptr;
} // namespace

TestEnvironment::TestEnvironment()
    : m_previousLocale(QLocale())
{
    TestEnvironment *const earlier = std::exchange(g_current, this);
    if (!m_folder.isValid())
        qFatal("cannot create a temporary application folder");
    copyFactoryCatalogue(binFolder());
    copyFactoryCatalogue(binFolder() + QStringLiteral("/default"));
    QDir().mkpath(settingsFolder());
    app::setApplicationFolder(folder());
    // Should a test make bin/ unwritable, the per-user copy goes here, not to the user's files.
    catalogue::setUserDataFolder(userDataFolder());

    auto boxes = std::make_unique<platform::ScriptedMessageBoxes>();
    m_boxes = boxes.get();
    m_previousBoxes = platform::setMessageBoxService(std::move(boxes));
    m_previousStore = platform::setSettingsStore(std::make_unique<platform::QtSettingsStore>(settingsFolder()));
    if (earlier) {
        // A cleanup that failed before it destroyed the earlier environment left it alive: this
        // one takes over what that one would restore, and that one restores nothing when it goes
        // (it would uninstall this one's message boxes and settings store).
        m_previousBoxes = std::move(earlier->m_previousBoxes);
        m_previousStore = std::move(earlier->m_previousStore);
        m_previousLocale = earlier->m_previousLocale;
        earlier->m_replaced = true;
    }
}

TestEnvironment::~TestEnvironment()
{
    if (!m_replaced) {
        platform::setMessageBoxService(std::move(m_previousBoxes));
        platform::setSettingsStore(std::move(m_previousStore));
        app::setApplicationFolder(QString());
        catalogue::setUserDataFolder(QString());
        catalogue::setWritableTest({});
        QLocale::setDefault(m_previousLocale);
    }
    if (g_current == this)
        g_current = nullptr;
    // Make everything writable again so that the folder can be removed after permission tests.
    const QFileDevice::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(folder(), owner);
    QDirIterator entries(folder(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        entries.next();
        // A link's permissions are its target's, which may lie outside the folder.
        if (!entries.fileInfo().isSymLink())
            QFile::setPermissions(entries.filePath(), owner);
    }
}

QString TestEnvironment::binFolder() const
{
    return folder() + QStringLiteral("/bin");
}

QString TestEnvironment::userDataFolder() const
{
    return folder() + QStringLiteral("/userdata");
}

QString TestEnvironment::settingsFolder() const
{
    return folder() + QStringLiteral("/settings");
}

void TestEnvironment::writeFile(const QString &relativePath, const QByteArray &bytes)
{
    const QString path = QDir(folder()).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray TestEnvironment::readFile(const QString &relativePath) const
{
    QFile file(QDir(folder()).filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString TestEnvironment::unexpectedBoxes() const
{
    QStringList lines;
    for (const platform::MessageBoxRequest &box : m_boxes->unexpected())
        lines.append(QStringLiteral("unexpected message box: \"%1\"").arg(box.text));
    return lines.join(QLatin1Char('\n'));
}
