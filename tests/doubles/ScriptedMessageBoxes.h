#pragma once

#include "core/platform/MessageBox.h"

#include <QList>
#include <QQueue>

namespace platform {

// Test responder: records every box shown and answers from a queue of expected answers.
// A box shown with no answer queued is an unexpected box: it is recorded as such and answered
// with its last button (Cancel or No where there is one), so the test can fail instead of hanging.
class ScriptedMessageBoxes : public MessageBoxService {
public:
    Answer show(const MessageBoxRequest &request) override;

    // Queues the answer to the next box.
    void expect(Answer answer) { m_answers.enqueue(answer); }
    void expectOK(int count = 1);

    const QList<MessageBoxRequest> &shown() const { return m_shown; }
    const QList<MessageBoxRequest> &unexpected() const { return m_unexpected; }
    int pendingAnswers() const { return int(m_answers.size()); }
    QStringList shownTexts() const;
    void clear();

private:
    QQueue<Answer> m_answers;
    QList<MessageBoxRequest> m_shown;
    QList<MessageBoxRequest> m_unexpected;
};

} // namespace platform
