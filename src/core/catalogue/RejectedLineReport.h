#pragma once

#include <QString>

// The messages about the lines of one catalogue file that could not be read. Each line gets its
// own message box, but only the first kShownLines of them: a file that is no catalogue file at
// all (a picture, a program, a damaged disk block) would otherwise show one box per line,
// thousands of them. The lines beyond are counted and summed up in one box when the file is done.
class RejectedLineReport {
public:
    static constexpr int kShownLines = 5;

    // One line could not be read: shows text, unless kShownLines boxes were shown already.
    void reject(const QString &text);
    // The file is done: shows "<n> more lines could not be read" for the lines not shown.
    void finish();

    // The text of the summary box for `hidden` lines not shown one by one.
    static QString summaryText(int hidden);

private:
    int m_rejected = 0;
};
