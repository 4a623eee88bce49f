#pragma once

#include <QDialog>

#include "vorpel_doc.h"

class QAbstractButton;
class QButtonGroup;

// Dialog 164 "PANEL": push-like choices of the panel that frames the
// finished picture and of glue. Each click sets the document's choice at
// once; OK sets both from the checked buttons. The buttons start at "no
// panel" and "no glue" whatever the document holds, so closing with Escape
// before any click leaves the document's earlier choices.
class PanelDialog : public QDialog {
    Q_OBJECT
public:
    explicit PanelDialog(CVorpelDoc& doc, QWidget* parent = nullptr);

    void accept() override;

    // The button of a panel (0 to 3) or of glue (0 or 1).
    QAbstractButton* panelButton(int panel) const;
    QAbstractButton* glueButton(int glue) const;

private:
    CVorpelDoc& m_doc;
    QButtonGroup* m_panels;
    QButtonGroup* m_glue;
};
