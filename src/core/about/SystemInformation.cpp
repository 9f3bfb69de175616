#include "core/about/SystemInformation.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/platform/MessageBox.h"
#include "core/platform/ProgramStarter.h"
#include "core/platform/Registry.h"

#include <QDir>

namespace about {

namespace {
// The buffer the value is read into: longer values are not read.
constexpr int kValueBufferSize = 1024;
} // namespace

bool readRegistryText(quint32 keyRoot, const QString &keyName, const QString &subKeyRef, QString &keyVal)
{
    keyVal.clear();
    platform::Registry &registry = platform::registry();
    const std::optional<platform::RegistryKey> key = registry.openKey(keyRoot, keyName);
    if (!key)
        return false;
    const std::optional<platform::RegistryValue> value = registry.queryValue(*key, subKeyRef, kValueBufferSize);
    registry.closeKey(*key);
    if (!value || value->type != platform::kRegSz)
        return false;
    // The bytes stored may or may not include the terminating zero; only that one is dropped.
    QByteArray text = value->bytes;
    if (!text.isEmpty() && text.back() == '\0')
        text.chop(1);
    keyVal = QString::fromLocal8Bit(text);
    return true;
}

void startSystemInformation()
{
    QString path;
    bool found = readRegistryText(platform::kHKeyLocalMachine, QString::fromLatin1(kSysInfoKey),
                             QString::fromLatin1(kSysInfoValue), path);
    if (!found && readRegistryText(platform::kHKeyLocalMachine, QString::fromLatin1(kSysInfoLocationKey),
                              QString::fromLatin1(kSysInfoLocationValue), path)) {
        path += QDir::separator() + QString::fromLatin1(kSysInfoProgram);
        found = catalogue::fileExists(path);
    }
    if (found && platform::programStarter().startDetached(path))
        return;
    platform::MsgBox(QStringLiteral("System Information Is Unavailable At This Time"));
}

} // namespace about
