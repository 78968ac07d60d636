// The result frame: a multiple-document frame that holds the result window,
// with a strip along its top for the title, the logo, Back, Exit and a
// promotional link.
#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;

namespace korvanta {

class LinkLabel;
class frmDisplay;
struct ResultCaptions;

class MDI : public QMainWindow {
    Q_OBJECT
  public:
    explicit MDI(QWidget* parent = nullptr);

    // Builds a new result window as the frame's child and fills it.
    frmDisplay* ShowResult(const ResultCaptions& captions);
    frmDisplay* Display() const { return display_; }

    QWidget* picTop = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdExit = nullptr;
    LinkLabel* Label10 = nullptr;
    QMdiArea* mdiArea = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuBack = nullptr;
    QAction* mnuExit = nullptr;

  signals:
    // "&Back": the birth-data window takes over again.
    void backRequested();
    // "E&xit" or the window's close box.
    void endProgramRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildStrip();
    void BuildMenus();
    void PlaceButtons();
    void CentreResultWindow();

    frmDisplay* display_ = nullptr;
    QMdiSubWindow* subWindow_ = nullptr;
};

}  // namespace korvanta
