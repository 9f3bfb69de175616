#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QStringList>
#include <QWidget>

// The access keys of a window's labels that have a buddy, its check boxes and its buttons (or
// of a menu's entries): each must have one, and no two may share one. Returns what is wrong,
// one line each; empty when all is well.
namespace accessKeys {

inline QString keyOf(const QString &caption)
{
    return QKeySequence::mnemonic(caption).toString(QKeySequence::PortableText);
}

inline QStringList faults(const QList<QPair<QString, QString>> &namedCaptions)
{
    QStringList faults;
    QHash<QString, QString> owners;
    for (const auto &[name, caption] : namedCaptions) {
        const QString key = keyOf(caption);
        if (key.isEmpty())
            faults.append(QStringLiteral("%1 (\"%2\") has no access key").arg(name, caption));
        else if (owners.contains(key))
            faults.append(QStringLiteral("%1 and %2 share %3").arg(owners.value(key), name, key));
        else
            owners.insert(key, name);
    }
    return faults;
}

inline QStringList windowFaults(const QWidget &window)
{
    QList<QPair<QString, QString>> captions;
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        if (label->buddy() && !label->isHidden())
            captions.append({label->objectName(), label->text()});
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        if (!button->text().isEmpty())
            captions.append({button->objectName(), button->text()});
    }
    return faults(captions);
}

inline QStringList menuFaults(const QList<QAction *> &entries)
{
    QList<QPair<QString, QString>> captions;
    for (const QAction *entry : entries) {
        if (!entry->isSeparator())
            captions.append({entry->objectName(), entry->text()});
    }
    return faults(captions);
}

} // namespace accessKeys
