#pragma once

#include <QDialog>
#include <QImage>

class CVorpelDoc;
class IniSettings;
class QLabel;

// The preview window "完 成 図": the board picture at a third of its size,
// like the lid of a jigsaw box. It reads the picture once, when it is made,
// and keeps only the scaled copy; a new puzzle gets a new window.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(CVorpelDoc& doc, IniSettings& settings, QWidget* parent);

    // The board picture scaled to a third, empty before a puzzle is loaded.
    const QImage& picture() const { return m_picture; }

signals:
    // The user closed the window: the document's flag is already cleared.
    void closedByUser();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    CVorpelDoc& m_doc;
    IniSettings& m_settings;
    QImage m_picture;
    QLabel* m_pictureArea;
};
