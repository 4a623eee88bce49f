#pragma once

#include <QDialog>

class QRadioButton;

// Dialog 147 "完成パズル画像": what to do with the finished picture. It has
// no close box; Escape closes it as "なにもしない。" would.
class FinishedPictureDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Save, SaveAsWallpaper, Nothing };

    explicit FinishedPictureDialog(QWidget* parent = nullptr);

    // The checked button; Nothing unless the dialog was closed with OK.
    Choice choice() const;

    QRadioButton* button(Choice choice) const;

private:
    QRadioButton* m_save;
    QRadioButton* m_wallpaper;
    QRadioButton* m_nothing;
};
