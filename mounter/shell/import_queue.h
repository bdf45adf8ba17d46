// Imports run one at a time, in the order they were asked for, on one worker thread: packages
// chosen in the open-file dialog and files dropped on the list wait their turn instead of being
// skipped. The worker reaches the list and the caption only through window messages, which
// the main window's thread handles.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "skins/skin_store.h"

class ImportQueue {
public:
    // ctx is used from the worker thread only; its list and Ui must be safe to call from there.
    explicit ImportQueue(MounterContext& ctx) : ctx_(ctx) {}
    ImportQueue(const ImportQueue&) = delete;
    ImportQueue& operator=(const ImportQueue&) = delete;

    // Queues the paths (possibly none); once they are imported the state column is recounted.
    void enqueue(std::vector<std::string> paths);

    // True when nothing is queued or running. (Waiting for it must keep dispatching messages:
    // the worker sends messages to the main window's thread.)
    bool idle();

private:
    void run();

    MounterContext& ctx_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::string>> jobs_;
    bool workerStarted_ = false;
    bool busy_ = false;
};

// The open-file dialog of the import buttons, owned by owner: several .zip files may be chosen.
// Returns the full paths chosen (UTF-8), none when the user cancels.
std::vector<std::string> chooseSkinPackages(HWND owner);
