#include "main_frame.h"

#include "about_dialog.h"
#include "dialog_folder.h"
#include "error_message.h"
#include "file_error_box.h"
#include "help_file.h"
#include "command_ids.h"
#include "creation_flow.h"
#include "file_patterns.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "kestra_view.h"
#include "open_in_player.h"
#include "preview_window.h"
#include "screen_area.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

QString warningTitle()
{
    return QCoreApplication::translate("kestra", "警告");
}

QString outOfMemory()
{
    return QCoreApplication::translate("kestra", "メモリの確保に失敗しました。\n処理を中断します");
}

QString pictureFilters()
{
    QStringList all;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        all << anyCasePattern(QString::fromLatin1(format));
    QStringList common;
    for (const char* extension : {"bmp", "jpg", "jpeg", "png"})
        common << anyCasePattern(QString::fromLatin1(extension));
    return QStringLiteral("Picture Files (bmp;jpg;jpeg;png) (%1);;%2 (%3)")
        .arg(common.join(QLatin1Char(' ')), QCoreApplication::translate("kestra", "すべての画像"),
             all.join(QLatin1Char(' ')));
}

bool clipboardHasPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
}

}  // namespace

QSize fitView(CKestraDoc& doc, const QSize& viewArea)
{
    doc.FitDisplay(viewArea.width(), viewArea.height());
    return {doc.m_nDisplayWidth, doc.m_nDisplayHeight};
}

QPoint besideWindow(const QRect& window, const QSize& tool, const QRect& area)
{
    const QPoint candidates[] = {
        {window.right() + 1, window.top()},
        {window.left() - tool.width(), window.top()},
        {window.left(), window.bottom() + 1},
        {window.left(), window.top() - tool.height()},
    };
    for (const QPoint& p : candidates)
        if (area.contains(QRect(p, tool)))
            return p;
    return keptInside(QRect(area.bottomRight() - QPoint(tool.width() - 1, tool.height() - 1), tool), area).topLeft();
}

CMainFrame::CMainFrame(CKestraDoc& doc, KestraSettings& settings, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint),
      m_doc(doc),
      m_settings(settings),
      m_view(new CKestraView(doc, this))
{
    setWindowTitle(tr("「ぼるぺる」のパズルデータ作成"));
    setCentralWidget(m_view);
    buildMenus();
    m_enlargement = new QLabel(menuBar());
    m_enlargement->setStyleSheet(QStringLiteral("color: #b00000; padding: 0 6px;"));
    menuBar()->setCornerWidget(m_enlargement, Qt::TopRightCorner);
    setFixedSize(m_doc.m_rcMainWnd.width(), m_doc.m_rcMainWnd.height());
    connect(m_view, &CKestraView::frameCommitted, this, &CMainFrame::frameChanged);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::refreshCommands);
    refreshCommands();
}

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    if (menu != nullptr)
        menu->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
    connect(addCommand(file, kestra::cmd::kOpenPicture, tr("画像ファイルを開く(&L)")), &QAction::triggered, this,
            &CMainFrame::openPicture);
    file->addSeparator();
    connect(addCommand(file, kestra::cmd::kExit, tr("終了(&X)")), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("編集(&E)"));
    connect(addCommand(edit, kestra::cmd::kPaste, tr("貼り付け(&P)")), &QAction::triggered, this, &CMainFrame::paste);
    edit->addSeparator();
    QMenu* sizes = edit->addMenu(tr("パズルサイズ(&S)"));
    for (const kestra::cmd::SizeCommand& c : kestra::cmd::kSizeCommands) {
        QAction* a = addCommand(sizes, c.id, tr(c.label));
        a->setCheckable(true);
        const int sizeIndex = c.sizeIndex;
        connect(a, &QAction::triggered, this, [this, sizeIndex] { selectSize(sizeIndex); });
    }
    QMenu* stretch = edit->addMenu(tr("ストレッチ(&B)"));
    QAction* lock = addCommand(stretch, kestra::cmd::kLockRatio, tr("パズルの比率に固定"));
    lock->setCheckable(true);
    connect(lock, &QAction::triggered, this, &CMainFrame::toggleLockRatio);

    QAction* create = addCommand(nullptr, kestra::cmd::kCreateData, tr("データの作成"));
    menuBar()->addAction(create);
    connect(create, &QAction::triggered, this, &CMainFrame::createData);

    QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
    connect(addCommand(help, kestra::cmd::kHelp, tr("ヘルプ(&H)")), &QAction::triggered, this,
            [this] { showHelpFile(this); });
    help->addSeparator();
    connect(addCommand(help, kestra::cmd::kAbout, tr("ﾊﾞｰｼﾞｮﾝ情報(&V)")), &QAction::triggered, this,
            &CMainFrame::showAbout);

    for (QMenu* menu : {file, edit, sizes, stretch, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshCommands);
}

void CMainFrame::refreshCommands()
{
    const bool loaded = m_doc.m_bPictureLoaded;
    for (const kestra::cmd::SizeCommand& c : kestra::cmd::kSizeCommands) {
        QAction* a = m_actions.value(c.id);
        a->setChecked(m_doc.m_nSizeIndex == c.sizeIndex);
        a->setEnabled(loaded);
    }
    QAction* lock = m_actions.value(kestra::cmd::kLockRatio);
    lock->setChecked(!m_doc.m_bFreeStretch);
    lock->setEnabled(loaded);
    m_actions.value(kestra::cmd::kCreateData)->setEnabled(loaded);
    m_actions.value(kestra::cmd::kPaste)->setEnabled(clipboardHasPicture());
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A spontaneous show is the window system restoring the window (after it
    // was minimised): it keeps the size fitted to the picture.
    if (event->spontaneous())
        return;
    // The stored rectangle is the client area, as written at close; the
    // window with its decoration is kept inside the screen.
    const KRect& d = m_doc.m_rcMainWnd;
    QRect r = m_settings.readMainRect(QRect(d.left, d.top, d.width(), d.height()));
    // Unreadable values collapse the rectangle; keep the window usable.
    if (r.width() <= 0 || r.height() <= 0)
        r.setSize(QSize(d.width(), d.height()));
    m_screenArea = availableScreen();
    const QMargins decoration = windowDecoration(*this);
    const QRect client = keptInside(r.marginsAdded(decoration), m_screenArea).marginsRemoved(decoration);
    setFixedSize(client.size());
    setGeometry(client);
    if (m_preview == nullptr) {
        m_preview = new PreviewWindow(m_doc, this);
        m_preview->show();
    }
    placePreview();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_settings.writeMainRect(geometry());
    QMainWindow::closeEvent(event);
}

void CMainFrame::endOnSignal()
{
    m_settings.writeMainRect(geometry());
    // Leaves every event loop, an open dialog's too, which then ends as if
    // cancelled; a puzzle file is written whole or not at all.
    QCoreApplication::exit(0);
}

QRect CMainFrame::availableScreen() const
{
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    return s != nullptr ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

int CMainFrame::menuHeightAt(int width) const
{
    const int wrapped = menuBar()->heightForWidth(width);
    return std::max(wrapped, menuBar()->sizeHint().height());
}

void CMainFrame::fitToPicture(const QRect& screen)
{
    // The available area already leaves out the desktop's panels; the
    // decoration and the menu bar take the rest, so the view gets exactly the
    // displayed picture. A narrower window may wrap the menu bar onto more
    // lines: the picture is fitted again until the menu bar's height holds.
    const QMargins decoration = windowDecoration(*this);
    const QSize room = screen.size().shrunkBy(decoration);
    int menu = 0;
    QSize display;
    for (int height = menuHeightAt(room.width()); height != menu;) {
        menu = height;
        display = fitView(m_doc, room - QSize(0, menu));
        height = std::max(menu, menuHeightAt(display.width()));
    }
    m_view->setFixedSize(display);
    const QSize client(display.width(), display.height() + menu);
    setFixedSize(client);
    setGeometry(QRect(screen.topLeft() + QPoint(decoration.left(), decoration.top()), client));
}

void CMainFrame::placePreview()
{
    if (m_preview == nullptr)
        return;
    // Placed by their frames, so that the title bars stay on the screen.
    const QMargins tool = windowDecoration(*m_preview);
    const QPoint frame =
        besideWindow(geometry().marginsAdded(windowDecoration(*this)), m_preview->size().grownBy(tool), m_screenArea);
    m_preview->setGeometry(QRect(frame + QPoint(tool.left(), tool.top()), m_preview->size()));
    m_preview->raise();
}

void CMainFrame::installPicture(kestra::LoadedPicture picture, const QRect& screen)
{
    m_doc.InstallPicture(std::move(picture));
    m_screenArea = screen;
    fitToPicture(screen);
    refitFrame();
}

void CMainFrame::refitFrame()
{
    if (m_preview != nullptr) {
        m_preview->fitToPuzzle();
        placePreview();
    }
    m_doc.ResetFrame();
    m_doc.UpdateFrameFromView();
    frameChanged();
    refreshCommands();
}

QString CMainFrame::enlargementWarning() const
{
    return m_enlargement->text();
}

void CMainFrame::frameChanged()
{
    const double factor = m_doc.m_bPictureLoaded ? m_doc.Enlargement() : 0.0;
    m_enlargement->setText(factor > 0 ? tr("枠が小さく %1 倍に拡大されます（ぼやけます）").arg(factor, 0, 'f', 2)
                                      : QString());
    m_enlargement->setVisible(factor > 0);
    if (m_preview != nullptr)
        m_preview->update();
    m_view->update();
}

void CMainFrame::reportLoadFailure(const kestra::PictureLoadError& error)
{
    if (error.failure() == kestra::LoadFailure::UnsupportedDepth) {
        QMessageBox::warning(this, warningTitle(),
                             QCoreApplication::translate("kestra",
                                                         "TRUE COLOR または ２５６色 以外の画像は使用できません\n"
                                                         "画像の読み込みを中止します"));
        return;
    }
    showErrorMessage(this, tr("画像の読み込み"), {error.summary(), error.details()});
}

void CMainFrame::loadPictureFile(const QString& path)
{
    try {
        installPicture(kestra::loadPictureFile(path), availableScreen());
    } catch (const kestra::PictureLoadError& e) {
        reportLoadFailure(e);
    } catch (const std::bad_alloc&) {
        QMessageBox::warning(this, warningTitle(), outOfMemory());
    }
}

void CMainFrame::openPicture()
{
    const QString start = m_settings.readPath(QStringLiteral("bopath"), m_doc.m_strPicturePath);
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(pictureFilters());
    dialog.setDirectory(dialogStartFolder(start, DialogUse::Open, QStandardPaths::PicturesLocation));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    m_doc.m_strPicturePath = path;
    m_settings.writePath(QStringLiteral("bopath"), path);
    loadPictureFile(path);
}

void CMainFrame::paste()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        QMessageBox::warning(this, warningTitle(), tr("クリップボードに画像がありません"));
        return;
    }
    try {
        installPicture(kestra::pictureFromImage(image), availableScreen());
    } catch (const kestra::PictureLoadError& e) {
        reportLoadFailure(e);
    } catch (const std::bad_alloc&) {
        QMessageBox::warning(this, warningTitle(), outOfMemory());
    }
}

void CMainFrame::selectSize(int sizeIndex)
{
    m_doc.SetPuzzleSize(sizeIndex);
    refitFrame();
}

void CMainFrame::toggleLockRatio()
{
    if (!m_doc.m_bFreeStretch) {
        m_doc.m_bFreeStretch = true;
        refreshCommands();
        return;
    }
    m_doc.m_bFreeStretch = false;
    refitFrame();
}

void CMainFrame::createData()
{
    refreshCommands();
    if (!m_doc.m_bPictureLoaded)
        return;
    const QString written = kestra::runDataCreation(this, m_doc, m_settings);
    if (!written.isEmpty())
        kestra::offerToOpenInPlayer(this, written);
}

void CMainFrame::showAbout()
{
    AboutDialog dialog(this, tr("「ケストラ」のﾊﾞｰｼﾞｮﾝ情報"), tr("「ケストラ」 Version 5.1"),
                       tr("「ぼるぺる」で遊ぶジグソーパズルのデータを作ります"));
    dialog.exec();
}
