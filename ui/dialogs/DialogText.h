#pragma once
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <span>

#include "resources/Texts.h"

namespace kelp {

// Resource texts as Qt strings, for building dialogs.
inline QString DlgString(int stringId) {
    return QString::fromStdString(LoadText(stringId));
}
inline QString DlgTitle(int templateId) {
    return QString::fromStdString(LoadDialogTitle(templateId));
}
inline QString DlgCaption(int templateId, int controlId) {
    return QString::fromStdString(LoadCaption(templateId, controlId));
}

// `text` with the mnemonic `key` (an ASCII letter or digit) unless it has
// one: in English the first `key` in the text is marked when there is one;
// otherwise, and always in Japanese, "(&K)" is appended as the menus write it.
inline QString WithMnemonic(const QString& text, char key) {
    if (text.contains(u'&')) {
        return text;
    }
    if (IsEnglish()) {
        const qsizetype at = text.indexOf(QLatin1Char(key), 0, Qt::CaseInsensitive);
        if (at >= 0) {
            return text.left(at) + u'&' + text.mid(at);
        }
    }
    return text + QStringLiteral("(&%1)").arg(QChar(QLatin1Char(key)).toUpper());
}

// Makes Tab visit `widgets` in the order given.
inline void SetTabChain(std::span<QWidget* const> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}
inline void SetTabChain(std::initializer_list<QWidget*> widgets) {
    SetTabChain(std::span<QWidget* const>(widgets.begin(), widgets.size()));
}

}  // namespace kelp
