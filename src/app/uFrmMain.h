#pragma once
// Tfrmmain, the hidden auxiliary form of the toolbar: it holds the text catalogue
// lstLanguage (entry 12, "当前操作题为：", titles the simulated desktop). It is never
// shown.
#include <QWidget>

class QListWidget;

class Tfrmmain : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmmain(QWidget* owner = nullptr);
    QListWidget* lstLanguage;

    // Entry of the catalogue ("" for an index outside it).
    QString Catalogue(int index) const;
};

// The process-wide reference (empty when none exists).
Tfrmmain* FrmMain();
