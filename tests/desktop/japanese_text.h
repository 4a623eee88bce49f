#pragma once

#include <QKeySequence>
#include <QMenu>
#include <QString>
#include <QStringList>

// Whether `text` has a Japanese character: kana (also half-width), CJK
// ideographs (also compatibility ones), or full-width punctuation and forms.
inline bool hasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x3400 && u <= 0x9fff) || (u >= 0xf900 && u <= 0xfaff) ||
            (u >= 0xff00 && u <= 0xffef))
            return true;
    }
    return false;
}

// What is wrong with a menu and its submenus in English: a Japanese item, or
// two items of one menu with the same access key.
inline QStringList englishMenuFaults(const QMenu& menu)
{
    QStringList faults;
    QList<QKeySequence> keys;
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        if (hasJapanese(a->text()) || hasJapanese(a->toolTip()) || (!key.isEmpty() && keys.contains(key)))
            faults << QStringLiteral("%1: %2").arg(menu.title(), a->text());
        keys << key;
        if (a->menu() != nullptr)
            faults << englishMenuFaults(*a->menu());
    }
    return faults;
}
