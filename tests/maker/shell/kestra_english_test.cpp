#include "installed_catalogue.h"
#include "japanese_text.h"
#include "maker_window.h"

#include <QMenuBar>
#include <QtTest>

// The maker with the English catalogue loaded. That every Japanese text of
// the sources has an English translation is checked on the sources; here the
// menus as the user meets them: English, each access key once per menu, and
// every menu of the bar reached by one.
class KestraEnglishTest : public QObject {
    Q_OBJECT

private slots:
    void menus()
    {
        const InstalledCatalogue english(QStringLiteral("kestra"), UiLanguage::English, QStringLiteral(KESTRA_DIR));
        QCOMPARE(english.count(), 1);
        Maker maker;
        QMenu bar;
        bar.addActions(maker.frame.menuBar()->actions());
        QCOMPARE(bar.actions().size(), 4);
        QStringList faults = englishMenuFaults(bar);
        for (const QAction* a : bar.actions())
            if (QKeySequence::mnemonic(a->text()).isEmpty())
                faults << a->text();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(KestraEnglishTest)
#include "kestra_english_test.moc"
