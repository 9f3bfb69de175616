#include "doubles/ScriptedMessageBoxes.h"

#include <QStringList>

namespace platform {

Answer ScriptedMessageBoxes::show(const MessageBoxRequest &request)
{
    m_shown.append(request);
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    m_unexpected.append(request);
    switch (request.buttons) {
    case Buttons::OK:
        return Answer::OK;
    case Buttons::OKCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::OK;
}

void ScriptedMessageBoxes::expectOK(int count)
{
    for (int i = 0; i < count; ++i)
        expect(Answer::OK);
}

QStringList ScriptedMessageBoxes::shownTexts() const
{
    QStringList texts;
    for (const MessageBoxRequest &request : m_shown)
        texts.append(request.text);
    return texts;
}

void ScriptedMessageBoxes::clear()
{
    m_answers.clear();
    m_shown.clear();
    m_unexpected.clear();
}

} // namespace platform
