#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

// Whether `text` has a Japanese character: kana (also half-width), CJK
// ideographs, or full-width punctuation and forms.
inline bool hasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x3400 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef))
            return true;
    }
    return false;
}

// The visible texts of a window and its widgets that are Japanese, each
// named with the widget that shows it.
inline QStringList japaneseTextsIn(const QWidget* window)
{
    QStringList found;
    const auto note = [&found](const QWidget* w, const QString& text) {
        if (hasJapanese(text))
            found << QStringLiteral("%1 \"%2\": %3").arg(QString::fromLatin1(w->metaObject()->className()),
                                                        w->objectName(), text);
    };
    QList<const QWidget*> widgets{window};
    for (const QWidget* w : window->findChildren<const QWidget*>())
        widgets << w;
    for (const QWidget* w : std::as_const(widgets)) {
        if (!w->isVisibleTo(window) && w != window)
            continue;
        note(w, w->windowTitle());
        note(w, w->toolTip());
        if (const auto* label = qobject_cast<const QLabel*>(w))
            note(w, label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            note(w, button->text());
        if (const auto* group = qobject_cast<const QGroupBox*>(w))
            note(w, group->title());
        if (const auto* box = qobject_cast<const QMessageBox*>(w))
            note(w, box->text() + box->informativeText());
    }
    return found;
}
