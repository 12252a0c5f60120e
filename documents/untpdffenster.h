#pragma once

#include <QWidget>

#include <memory>

class TPDFView;

namespace Ui {
class TfrmPDFFenster;
}

// The window in which the user reads a PDF: a row of tool buttons over the PDF view control.
// One instance, owned by the main window, is hidden on closing and shown again for the next
// document.
class TfrmPDFFenster : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmPDFFenster)

public:
    explicit TfrmPDFFenster(QWidget *owner = nullptr);
    ~TfrmPDFFenster() override;

    // Loads the file into the view and brings the window to the front; shows no hidden window.
    void LoadDocument(const QString &path);
    TPDFView *pdfView() const;
    // "Seite x von y" right of the tool buttons; empty without a document.
    QString pageText() const;

    void FormCreate();
    void FormKeyPress(QChar &key);
    void sbtnSchliessenClick();
    void SpeedButton1Click();
    void sbtnFirstClick();
    void sbtnPrevClick();
    void sbtnNextClick();
    void sbtnLastClick();
    void sbtnZoomInClick();
    void sbtnZoomOutClick();
    void sbtnWholePageClick();
    void sbtnWholeWidthClick();
    void sbtnZweiSeitenClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPageNumber(int page);

    std::unique_ptr<Ui::TfrmPDFFenster> ui;
};
