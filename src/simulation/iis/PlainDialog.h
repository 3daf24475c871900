#pragma once
// Key handling of the simulated dialogs: Escape closes nothing, and Return presses
// only a button marked as the dialog's default (never the focused one). Used by the
// IIS and network windows.
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace sim {

// Turns off auto-default on every push button under `root` except `defaultButton`.
inline void NoAutoDefault(QWidget* root, QPushButton* defaultButton = nullptr)
{
    for (QPushButton* b : root->findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(b == defaultButton);
    }
}

// A dialog that Escape does not close.
class PlainDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Escape) {
            e->accept();
            return;
        }
        QDialog::keyPressEvent(e);
    }
};

} // namespace sim
