// A user's mouse, wheel and keyboard: input delivered through the window, as the platform does.
#include "support/UserInput.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace UserInput
{
namespace
{
// One notch of an ordinary mouse wheel.
constexpr int kNotch = 120;

// The window that shows widget, and pos in that window's coordinates.
QWindow* windowAt(QWidget* widget, QPoint& pos)
{
    if (pos == kCentre)
        pos = widget->rect().center();
    QWidget* top = widget->window();
    pos = widget->mapTo(top, pos);
    return top->windowHandle();
}
} // namespace

void click(QWidget* widget, QPoint pos)
{
    QWindow* window = windowAt(widget, pos);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, pos);
}

void doubleClick(QWidget* widget, QPoint pos)
{
    QWindow* window = windowAt(widget, pos);
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, pos);
}

void wheel(QWidget* widget, int notches, QPoint pos)
{
    QWindow* window = windowAt(widget, pos);
    // As the platform reports it: a spontaneous event to the window, which hands it to the
    // widget under the pointer and on to its parents while it is ignored.
    QWheelEvent event(QPointF(pos), QPointF(window->mapToGlobal(pos)), QPoint(),
                      QPoint(0, notches * kNotch), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::sendEvent(window, &event);
}

void key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // The X11 desktop gives Delete the character DEL (127) as its text, which QTest leaves out.
    if (key == Qt::Key_Delete) {
        QTest::sendKeyEvent(QTest::Click, QGuiApplication::focusWindow(), key, QString(QChar(127)),
                            modifiers);
        return;
    }
    QTest::keyClick(QGuiApplication::focusWindow(), key, modifiers);
}

void type(const QString& text)
{
    for (const QChar ch : text)
        QTest::keyClick(QGuiApplication::focusWindow(), ch.toLatin1());
}

bool pick(QComboBox* list, int row)
{
    // The arrow at the right end opens the list, editable or not.
    click(list, QPoint(list->width() - 6, list->height() / 2));
    QAbstractItemView* view = list->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    QWidget* popup = view->window();
    const QModelIndex entry = view->model()->index(row, list->modelColumn(), view->rootIndex());
    // The middle of the entry's row as the list shows it (an entry may be wider than the list).
    const QPoint inView(view->viewport()->width() / 2, view->visualRect(entry).center().y());
    const QPoint at = view->viewport()->mapTo(popup, inView);
    // The popup may open with the entry right under the pointer. Until the pointer has moved
    // clearly away from where the list was clicked, a release is taken as the end of the click
    // that opened it; so the pointer goes a little way along the list first, as a hand does.
    const int away = at.y() < popup->height() / 2 ? 20 : -20;
    QTest::mouseMove(popup->windowHandle(), at + QPoint(0, away));
    QTest::mouseMove(popup->windowHandle(), at);
    QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    return QTest::qWaitFor([view] { return !view->isVisible(); });
}

} // namespace UserInput
