#pragma once

#include <QComboBox>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

// A window holding one editable unit combo (Foot, Furlong, Metre; nothing chosen, no new items
// from typing), the list the type-ahead tests type into. The caller shows the window.
inline std::unique_ptr<QWidget> makeFootFurlongMetreWindow(QComboBox *&combo)
{
    auto window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    combo = new QComboBox(window.get());
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems({QStringLiteral("Foot"), QStringLiteral("Furlong"), QStringLiteral("Metre")});
    combo->setCurrentIndex(-1);
    layout->addWidget(combo);
    return window;
}
