#include "help_file.h"
#include "installed_catalogue.h"
#include "japanese_text.h"
#include "translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <utility>

#include <gtest/gtest.h>

namespace {

// Runs `look` on each modal window that opens until it returns true.
void whileModal(const std::function<bool(QWidget*)>& look)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, look] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && look(modal))
            timer->deleteLater();
    });
    timer->start(10);
}

}  // namespace

// Without a help page the English message names the English page missing.
TEST(DesktopTexts, MissingHelpPageIsNamedInEnglish)
{
    InstalledCatalogue english(QStringLiteral("vorpel"), UiLanguage::English, QStringLiteral(VORPEL_DIR));
    ASSERT_EQ(english.count(), 1);
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("no-such-program"));
    QString message;
    whileModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            message = box->text();
        modal->close();
        return true;
    });
    showHelpFile(nullptr);
    QCoreApplication::setApplicationName(name);
    EXPECT_TRUE(message.contains(QStringLiteral("no-such-program_en.html"))) << message.toStdString();
    EXPECT_FALSE(hasJapanese(message)) << message.toStdString();
}

// With Qt's own Japanese catalogue, Qt's file dialog speaks Japanese: its
// buttons, its labels and the question before a file is replaced.
TEST(DesktopTexts, QtsOwnDialogsFollowJapanese)
{
    InstalledCatalogue japanese(QStringLiteral("vorpel"), UiLanguage::Japanese);
    ASSERT_EQ(japanese.count(), 1);
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("game.jpd"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QFileDialog dialog(nullptr, QStringLiteral("名前を付けて保存"), dir.path(), QStringLiteral("*.jpd"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    QStringList english;
    QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    for (const QAbstractButton* b : buttons->buttons())
        if (!hasJapanese(b->text()))
            english << b->text();
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        if (l->isVisibleTo(&dialog) && !l->text().isEmpty() && !hasJapanese(l->text()))
            english << l->text();
    EXPECT_EQ(english, QStringList());

    QString question;
    whileModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr)
            return false;
        question = box->text();
        box->reject();
        return true;
    });
    dialog.selectFile(existing);
    for (QAbstractButton* b : buttons->buttons())
        if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
            b->click();
    EXPECT_TRUE(hasJapanese(question)) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("game.jpd"))) << question.toStdString();
}

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The first match of `pattern`'s first group in `text`.
QString firstMatch(const QString& text, const QString& pattern)
{
    return QRegularExpression(pattern).match(text).captured(1);
}

}  // namespace

// Each program is called by one name per language wherever the desktop shows
// it: its desktop entry, its software-centre entry and its help pages.
TEST(DesktopTexts, ProgramNamesAgreeInBothLanguages)
{
    for (const auto& [program, folder] : {std::pair{QStringLiteral("vorpel"), QStringLiteral(PLAYER_RESOURCES_DIR)},
                                          std::pair{QStringLiteral("kestra"), QStringLiteral(MAKER_RESOURCES_DIR)}}) {
        SCOPED_TRACE(program.toStdString());
        const QString entry = fileText(folder + QStringLiteral("/%1.desktop").arg(program));
        const QString metainfo = fileText(folder + QStringLiteral("/%1.metainfo.xml.in").arg(program));
        const QString english = firstMatch(entry, QStringLiteral("\\nName=([^\\n]*)"));
        const QString japanese = firstMatch(entry, QStringLiteral("\\nName\\[ja\\]=([^\\n]*)"));
        ASSERT_FALSE(english.isEmpty());
        ASSERT_FALSE(japanese.isEmpty());
        EXPECT_EQ(firstMatch(metainfo, QStringLiteral("<name>([^<]*)</name>")), english);
        EXPECT_EQ(firstMatch(metainfo, QStringLiteral("<name xml:lang=\"ja\">([^<]*)</name>")), japanese);

        const QString title = QStringLiteral("<title>([^<]*)</title>");
        const QString englishHelp = fileText(folder + QLatin1Char('/') + helpFileName(program, UiLanguage::English));
        const QString japaneseHelp = fileText(folder + QLatin1Char('/') + helpFileName(program, UiLanguage::Japanese));
        EXPECT_EQ(firstMatch(englishHelp, title), english + QStringLiteral(" Help"));
        EXPECT_EQ(firstMatch(japaneseHelp, title), QStringLiteral("「%1」ヘルプ").arg(japanese));
        EXPECT_FALSE(hasJapanese(englishHelp));
    }
}
