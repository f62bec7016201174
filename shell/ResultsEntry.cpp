// Factory > Results...: the results board over the station's store, beside the main window; a
// run that ends here shows on it as soon as the store holds it.
#include "board/ResultsBoard.h"
#include "records/RecordStore.h"
#include "session/RecordKeeper.h"
#include "shell/MainWin.h"

void MainWin::menuFactoryResults_Click()
{
    if (!Board) {
        Board = new ResultsBoard(RecordStore::defaultStorePath());
        Board->setObjectName(QStringLiteral("ResultsBoard"));
        Board->setAttribute(Qt::WA_DeleteOnClose);
        connect(Keeper, &RecordKeeper::runKept, Board, &ResultsBoard::refresh);
        connect(this, &QObject::destroyed, Board, &QObject::deleteLater);
        Board->move(geometry().topRight() + QPoint(16, 0));
    }
    Board->show();
    Board->raise();
    Board->activateWindow();
}
