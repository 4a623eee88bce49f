#pragma once

#include <QElapsedTimer>

#include <memory>

class QProgressDialog;
class QWidget;

// Dialog 167 "データ作成中": the bar shown while a small puzzle is cut. It
// appears at the first piece and is updated only a few times a second, so
// that the window stays alive without slowing the cut.
class CutProgress {
public:
    explicit CutProgress(QWidget* parent);
    ~CutProgress();
    CutProgress(const CutProgress&) = delete;
    CutProgress& operator=(const CutProgress&) = delete;

    // `done` of `total` pieces are cut.
    void update(int done, int total);
    // The cut is over (or failed): the dialog goes.
    void finish();

    bool isShown() const { return m_dialog != nullptr; }

private:
    QWidget* m_parent;
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_sinceUpdate;
};
