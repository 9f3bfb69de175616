#pragma once

#include "core/platform/MessageBox.h"

#include <QTest>

namespace platform {

// Boxes compare by every field, so a test states the boxes it expects as one list:
// QCOMPARE(boxes.shown(), (QList<MessageBoxRequest>{{text, Buttons::OK, Icon::Critical, title}})).
inline bool operator==(const MessageBoxRequest &a, const MessageBoxRequest &b)
{
    return a.text == b.text && a.buttons == b.buttons && a.icon == b.icon && a.title == b.title;
}

// What QCOMPARE prints for a box that differs.
inline char *toString(const MessageBoxRequest &box)
{
    return QTest::toString(QStringLiteral("{\"%1\", buttons %2, icon %3, \"%4\"}")
                               .arg(box.text)
                               .arg(int(box.buttons))
                               .arg(int(box.icon))
                               .arg(box.title));
}

} // namespace platform
