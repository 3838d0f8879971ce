#pragma once
// The About box: product name, version, copyright and comments read from the program's own
// version record at every opening, and two links (web page, mail).

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Fills the four lines from the version record of `programFile` (raises EReadError when
    // the record has no usable translation table).
    void FillFromVersionRecord(const QString& programFile);

    static QString HomePage();
    static QString MailAddress();

    QLabel* Animate1 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;
    QLabel* lblHomepage = nullptr;
    QLabel* lblEmail = nullptr;
    QPushButton* OKButton = nullptr;

public slots:
    void lblHomepageClick();
    void lblEmailClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
