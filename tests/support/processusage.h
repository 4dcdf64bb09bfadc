#pragma once

// What the process holds right now, for runs that must hold steady: heap in
// use, resident memory, threads and open file descriptors.

struct ProcessUsage
{
    long long heapBytes = 0;  // malloc's bytes in use, mapped blocks included
    long residentKilobytes = 0;
    int threads = 0;
    // Of those, Qt's thread-pool workers (the raster painter's among them):
    // started when painting wants them, ended after 30 s idle, each with
    // one descriptor of its own, the wake-up of its event dispatcher.
    int pooledThreads = 0;
    int descriptors = 0;
};

ProcessUsage processUsage();
