#pragma once

// Counts the QObjects alive in the process through the object hooks QtCore
// keeps for debugging tools, so that an object nobody parents or deletes is
// counted too: what a long run must bring back to the same figure.

#include <unordered_set>

class QObject;

class LiveObjects final
{
public:
    struct Counts
    {
        int objects = 0;
        int widgets = 0;
        int timers = 0;  // QTimer objects, running or not
        bool operator==(const Counts&) const = default;
    };

    /// Starts counting: objects made before this are not counted. One at a time.
    LiveObjects();
    ~LiveObjects();
    LiveObjects(const LiveObjects&) = delete;
    LiveObjects& operator=(const LiveObjects&) = delete;

    /// The calling thread's objects made since counting began that are still
    /// alive, QThread objects aside (ProcessUsage counts the threads).
    Counts counts() const;
};
