#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

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

// A widget or action as a failure names it: its class and object name.
inline QString nameOf(const QObject* o)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(o->metaObject()->className()), o->objectName());
}

// The texts a widget shows itself, without its children's.
inline QStringList textsOf(const QWidget* w)
{
    QStringList texts{w->windowTitle(), w->toolTip()};
    if (const auto* label = qobject_cast<const QLabel*>(w))
        texts << label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        texts << button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(w))
        texts << group->title();
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    if (const auto* box = qobject_cast<const QMessageBox*>(w))
        texts << box->text() << box->informativeText();
    if (const auto* progress = qobject_cast<const QProgressDialog*>(w))
        texts << progress->labelText();
    if (const auto* files = qobject_cast<const QFileDialog*>(w))
        texts << files->nameFilters();
    return texts;
}

// Collects the Japanese texts of windows, menus and messages, each named
// with what shows it.
class JapaneseTexts {
public:
    QStringList found;

    void check(const QString& where, const QString& text)
    {
        if (hasJapanese(text))
            found << where + QStringLiteral(": ") + text;
    }

    // A menu's title and items with their submenus; two items of one menu
    // with the same access key are a fault too.
    void menu(const QMenu* m)
    {
        check(nameOf(m), m->title());
        QList<QKeySequence> keys;
        for (const QAction* a : m->actions()) {
            check(nameOf(a), a->text());
            check(nameOf(a), a->toolTip());
            const QKeySequence key = QKeySequence::mnemonic(a->text());
            if (!key.isEmpty() && keys.contains(key))
                found << QStringLiteral("menu \"%1\": access key of %2 taken").arg(m->title(), a->text());
            keys << key;
            if (a->menu() != nullptr)
                menu(a->menu());
        }
    }

    // A window and all its widgets, or only those visible in it.
    void window(const QWidget* top, bool visibleOnly = false)
    {
        QList<const QWidget*> all{top};
        for (const QWidget* w : top->findChildren<const QWidget*>())
            all << w;
        for (const QWidget* w : std::as_const(all)) {
            if (visibleOnly && w != top && !w->isVisibleTo(top))
                continue;
            for (const QString& text : textsOf(w))
                check(nameOf(w), text);
            if (const auto* m = qobject_cast<const QMenu*>(w))
                menu(m);
        }
    }
};

// The visible texts of a window and its widgets that are Japanese.
inline QStringList japaneseTextsIn(const QWidget* window)
{
    JapaneseTexts texts;
    texts.window(window, true);
    return texts.found;
}

// Checks each modal window that opens while alive, then lets `close` end it
// (by default it is rejected); `shown` names them in order.
class ModalWalker {
public:
    explicit ModalWalker(JapaneseTexts& texts) : m_texts(texts)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { visit(); });
        m_timer.start(5);
    }
    std::function<void(QWidget*)> close = [](QWidget* w) {
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    };
    QStringList shown;

private:
    void visit()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        shown << nameOf(modal);
        m_texts.window(modal);
        close(modal);
    }
    JapaneseTexts& m_texts;
    QTimer m_timer;
};
