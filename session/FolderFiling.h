// Filing the store's runs in their records folder: each run's log file and its row in the day's
// table, in the order the runs ended, safe to share with other windows and stations.
#pragma once

#include <QString>

class RecordStore;

struct FolderFilingReport {
    int filed = 0;
    qint64 waiting = 0; // runs still waiting for their folder
    QString folder;     // the folder that could not be written, with the reason below
    QString error;
};

// Files every run waiting in the store, oldest first, one program of the station at a time; a
// folder that cannot be written keeps its runs (in order) for the next try. A log file
// is created only under a name no other run has (two runs of one unit in one second get two files);
// the table's row is appended under a lock file beside the table, so that one header is written and
// no row is doubled or cut; a row that cannot be written takes its log file back.
FolderFilingReport fileWaitingRuns(RecordStore& store);
