#include "frontend/about_frm.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace frontend {
namespace {

// The program's picture: a page with a few lines of text and a corner
// folded down, drawn here so the program ships no image files.
QPixmap ProgramPicture() {
  QPixmap picture(64, 64);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 70, 120), 2));
  painter.setBrush(QColor(245, 248, 255));
  const QPointF page[] = {{12, 4}, {42, 4}, {54, 16}, {54, 60}, {12, 60}};
  painter.drawPolygon(page, 5);
  painter.drawLine(QPointF(42, 4), QPointF(42, 16));
  painter.drawLine(QPointF(42, 16), QPointF(54, 16));
  painter.setPen(QPen(QColor(90, 120, 170), 3));
  for (int y = 26; y <= 50; y += 8) painter.drawLine(QPointF(19, y), QPointF(47, y));
  return picture;
}

}  // namespace

AboutFrm::AboutFrm(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Tavelle"));
  setModal(true);

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picIcon"));
  picture->setPixmap(ProgramPicture());
  picture->setAlignment(Qt::AlignTop);

  auto* texts = new QVBoxLayout;
  auto* title = new QLabel(QStringLiteral("<b>Tavelle</b>"), this);
  title->setObjectName(QStringLiteral("lblTitle"));
  texts->addWidget(title);
  texts->addWidget(new QLabel(QStringLiteral("Version " TAVELLE_VERSION), this));
  texts->addWidget(new QLabel(
      QStringLiteral("Turns documentation comments in source files\ninto browsable HTML pages."),
      this));
  texts->addStretch();

  auto* body = new QHBoxLayout;
  body->addWidget(picture);
  body->addLayout(texts);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
}

}  // namespace frontend
