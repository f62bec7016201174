// Factory > Results...: the results board over the station's store, beside the main window; a
// run that any window or command line of the station records shows on it as soon as the store
// holds it.
#include "board/ResultsBoard.h"
#include "records/RecordStore.h"
#include "session/RecordKeeper.h"
#include "shell/MainWin.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

void MainWin::menuFactoryResults_Click()
{
    if (!Board) {
        Board = new ResultsBoard(RecordStore::defaultStorePath());
        Board->setObjectName(QStringLiteral("ResultsBoard"));
        Board->setAttribute(Qt::WA_DeleteOnClose);
        connect(Keeper, &RecordKeeper::runKept, Board, &ResultsBoard::refresh);
        // Another program's commit changes the store's write-ahead log (made with the store's
        // first write, so its folder is watched too); a burst of changes reads the store once.
        const QString store = RecordStore::defaultStorePath();
        auto* watcher = new QFileSystemWatcher(Board);
        watcher->addPath(QFileInfo(store).absolutePath());
        for (const QString& file : {store, store + QStringLiteral("-wal")}) {
            if (QFileInfo::exists(file))
                watcher->addPath(file);
        }
        auto* settle = new QTimer(Board);
        settle->setSingleShot(true);
        settle->setInterval(300);
        connect(settle, &QTimer::timeout, Board, &ResultsBoard::refresh);
        const auto changed = [watcher, settle, store] {
            if (QFileInfo::exists(store + QStringLiteral("-wal")) &&
                !watcher->files().contains(store + QStringLiteral("-wal")))
                watcher->addPath(store + QStringLiteral("-wal"));
            settle->start();
        };
        connect(watcher, &QFileSystemWatcher::fileChanged, settle, changed);
        connect(watcher, &QFileSystemWatcher::directoryChanged, settle, changed);
        connect(this, &QObject::destroyed, Board, &QObject::deleteLater);
        Board->move(geometry().topRight() + QPoint(16, 0));
    }
    Board->show();
    Board->raise();
    Board->activateWindow();
}
