// Cursor handles as Qt cursors: the widget set's shapes and the program's
// own pictures (platform/Cursors.h), made into pixmap cursors once each.
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <map>

#include "platform/Cursors.h"
#include "platform/qt/QtWidgetset.h"

namespace {
Qt::CursorShape ShapeFor(HCURSOR c) {
  switch (c) {
    case 0: return Qt::BlankCursor;
    case IDC_IBEAM: return Qt::IBeamCursor;
    case IDC_WAIT:
    case IDC_SQLWAIT: return Qt::WaitCursor;
    case IDC_CROSS: return Qt::CrossCursor;
    case IDC_UPARROW: return Qt::UpArrowCursor;
    case IDC_SIZE:
    case IDC_SIZEALL: return Qt::SizeAllCursor;
    case IDC_SIZENWSE: return Qt::SizeFDiagCursor;
    case IDC_SIZENESW: return Qt::SizeBDiagCursor;
    case IDC_SIZEWE: return Qt::SizeHorCursor;
    case IDC_SIZENS: return Qt::SizeVerCursor;
    case IDC_NO:
    case IDC_NODROP: return Qt::ForbiddenCursor;
    case IDC_HAND: return Qt::PointingHandCursor;
    case IDC_APPSTARTING: return Qt::BusyCursor;
    case IDC_HELP: return Qt::WhatsThisCursor;
    case IDC_DRAG: return Qt::DragMoveCursor;
    case IDC_MULTIDRAG: return Qt::DragCopyCursor;
    case IDC_HSPLIT: return Qt::SplitHCursor;
    case IDC_VSPLIT: return Qt::SplitVCursor;
    default: return Qt::ArrowCursor;
  }
}
}  // namespace

QCursor QtCursor(HCURSOR c) {
  if (const TCursorImage* image = ProgramCursorImage(c)) {
    static std::map<HCURSOR, QCursor>* made = new std::map<HCURSOR, QCursor>();  // lives as long as the program
    auto it = made->find(c);
    if (it == made->end()) {
      QImage picture(image->Width, image->Height, QImage::Format_ARGB32);
      for (int y = 0; y < image->Height; ++y)
        for (int x = 0; x < image->Width; ++x)
          picture.setPixel(x, y, image->Pixels[size_t(y) * size_t(image->Width) + size_t(x)]);
      it = made->emplace(c, QCursor(QPixmap::fromImage(picture), image->HotSpot.X, image->HotSpot.Y)).first;
    }
    return it->second;
  }
  return QCursor(ShapeFor(c));
}
