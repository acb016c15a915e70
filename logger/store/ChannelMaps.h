#pragma once

// The per-channel data maps of a chart tab: the plotting library's sorted data
// containers, shared between the tab, its graphs and the swap file.

#include <QList>
#include <QSharedPointer>
#include <QVector>

#include <qcustomplot.h>

using ChannelMap = QSharedPointer<QCPGraphDataContainer>;
using ChannelMaps = QList<ChannelMap>;

// A container's add() keeps points with equal keys side by side; the chart wants one
// point per time instead. These put the point in key order and let it replace a point
// that already has its key.
void insertOrReplace(QCPGraphDataContainer& map, double key, double value);

// The same for many points at once. Points sorted by key with no key twice
// cost one pass over both when they overlap what the map holds, and a plain
// append when they all lie after its last key; others go in one by one.
void insertOrReplace(QCPGraphDataContainer& map, const QVector<QCPGraphData>& points);

// Removes the first `count` points of the map (all of them when it holds fewer).
void removeFirstPoints(QCPGraphDataContainer& map, qint64 count);

// Takes the points with a key below `cut` out of each map, into new maps in the same
// order (an empty map for a missing one).
ChannelMaps takePointsBefore(const ChannelMaps& maps, double cut);

// A recording's map grows by its newest points and loses its oldest at every flush.
// Given room for `points` up front (the pages touched now, before the run), it keeps that
// one block of memory for the whole run: the flushed room at its front is reused in
// place instead of the container growing into a new block, which would touch megabytes of
// fresh pages at once and hold up the window while reports wait. An empty map only.
void reserveLiveMap(QCPGraphDataContainer& map, int points);
// Gives up the room of the points flushed out of a live map, keeping its block. This
// moves every point the map holds: callers do it once in a while, not at every flush.
void compactLiveMap(QCPGraphDataContainer& map);
// The map goes back to trimming its memory as it shrinks (the recording is over).
void releaseLiveMap(QCPGraphDataContainer& map);

// The first map that holds a point; null when none does.
ChannelMap firstFilledMap(const ChannelMaps& maps);

// Puts the points of `from` back into the map of the same index of `into`.
void addPoints(const ChannelMaps& into, const ChannelMaps& from);
