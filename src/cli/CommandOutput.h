#pragma once

#include "core/platform/MessageBox.h"

#include <QStringList>
#include <QTextStream>

#include <memory>

namespace cli {

// Where a command writes: its answer to out, what the user should know besides to err, each
// message on lines of its own after the program's name.
struct CommandOutput {
    QTextStream &out;
    QTextStream &err;

    void say(const QString &message) const;
    void sayAll(const QStringList &messages) const;
};

// Keeps the messages that core code shows in message boxes while it lives, in place of the
// installed service: a command has no window and no person to answer, so each box is answered
// with its first button and its text kept (CR LF and CR made line breaks), for the command to
// pass on or to leave out.
class CollectedMessages {
public:
    CollectedMessages();
    ~CollectedMessages();
    CollectedMessages(const CollectedMessages &) = delete;
    CollectedMessages &operator=(const CollectedMessages &) = delete;

    // The texts of the boxes shown since the last take, oldest first; forgets them.
    QStringList take();

private:
    class Service;
    Service *m_service = nullptr; // owned by the message-box service while installed
    std::unique_ptr<platform::MessageBoxService> m_previous;
};

} // namespace cli
