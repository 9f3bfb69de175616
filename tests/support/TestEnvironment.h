#pragma once

#include "core/platform/SettingsStore.h"
#include "doubles/ScriptedMessageBoxes.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Everything a test needs to leave the user's files and settings alone: a temporary
// application folder holding a copy of the factory catalogue in bin/ and bin/default/, a
// settings store and a user data folder (for a per-user catalogue) in that folder, and scripted
// message boxes. Restores the previous state (and the default catalogue location hooks) when
// destroyed. Create one per test function (in init()), destroy it in cleanup(). One created
// while another is still alive (a check in cleanup() failed before the reset) takes its place.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment &) = delete;
    TestEnvironment &operator=(const TestEnvironment &) = delete;

    QString folder() const { return m_folder.path(); }
    QString binFolder() const;
    QString settingsFolder() const;
    // Stands for the user's data folder (QStandardPaths::AppDataLocation); not made in advance.
    QString userDataFolder() const;
    platform::ScriptedMessageBoxes &boxes() { return *m_boxes; }

    // Writes bytes to a file under the application folder (relative path), creating folders.
    void writeFile(const QString &relativePath, const QByteArray &bytes);
    QByteArray readFile(const QString &relativePath) const;

    // A description of every box shown that no answer was queued for (empty when none).
    QString unexpectedBoxes() const;

private:
    QTemporaryDir m_folder;
    platform::ScriptedMessageBoxes *m_boxes = nullptr;
    std::unique_ptr<platform::MessageBoxService> m_previousBoxes;
    std::unique_ptr<platform::SettingsStore> m_previousStore;
    QLocale m_previousLocale;
    bool m_replaced = false; // a later environment took over while this one was left alive
};

// Copies the factory catalogue folder into folder (as bin/ would hold it).
void copyFactoryCatalogue(const QString &folder);

// Fails the current test when a message box was shown that the test did not expect. It does not
// return early, so a cleanup() that uses it still releases its environment afterwards.
#define VERIFY_NO_UNEXPECTED_BOXES(environment)                                                    \
    static_cast<void>(QTest::qVerify((environment).unexpectedBoxes().isEmpty(), "no unexpected message boxes", \
                                     qPrintable((environment).unexpectedBoxes()), __FILE__, __LINE__))

// The end of a test function's environment (call it in cleanup()): fails the test on a message
// box it did not expect, then releases the environment whatever the check found.
inline void finishEnvironment(std::unique_ptr<TestEnvironment> &environment)
{
    const std::unique_ptr<TestEnvironment> finished = std::move(environment);
    if (finished)
        VERIFY_NO_UNEXPECTED_BOXES(*finished);
}
