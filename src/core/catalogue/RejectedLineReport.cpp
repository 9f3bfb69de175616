#include "core/catalogue/RejectedLineReport.h"

#include "core/platform/MessageBox.h"

void RejectedLineReport::reject(const QString &text)
{
    if (++m_rejected <= kShownLines)
        platform::MsgBox(text);
}

void RejectedLineReport::finish()
{
    if (m_rejected > kShownLines)
        platform::MsgBox(summaryText(m_rejected - kShownLines));
}

QString RejectedLineReport::summaryText(int hidden)
{
    return hidden == 1 ? QStringLiteral("1 more line could not be read")
                       : QStringLiteral("%1 more lines could not be read").arg(hidden);
}
