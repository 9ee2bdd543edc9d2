// AboutFrm: the modal "About Tavelle" window, a picture and a few labels.
#ifndef TAVELLE_FRONTEND_ABOUT_FRM_H_
#define TAVELLE_FRONTEND_ABOUT_FRM_H_

#include <QDialog>

namespace frontend {

class AboutFrm : public QDialog {
  Q_OBJECT

 public:
  explicit AboutFrm(QWidget* owner);
};

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_ABOUT_FRM_H_
