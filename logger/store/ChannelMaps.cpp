#include "ChannelMaps.h"

#include <algorithm>

namespace {
bool keyBelow(const QCPGraphData& point, double key)
{
    return point.key < key;
}
} // namespace

void insertOrReplace(QCPGraphDataContainer& map, double key, double value)
{
    if (key != key) // a point without a time has no place on the chart
        return;
    if (map.isEmpty() || (map.constEnd() - 1)->key < key) {
        map.add(QCPGraphData(key, value));
        return;
    }
    auto found = std::lower_bound(map.begin(), map.end(), key, keyBelow);
    if (found != map.end() && found->key == key)
        found->value = value;
    else
        map.add(QCPGraphData(key, value));
}

void insertOrReplace(QCPGraphDataContainer& map, const QVector<QCPGraphData>& points)
{
    if (points.isEmpty())
        return;
    const bool ordered = std::adjacent_find(points.constBegin(), points.constEnd(),
                                            [](const QCPGraphData& a, const QCPGraphData& b) {
                                                return !(a.key < b.key);
                                            })
                         == points.constEnd();
    if (!ordered || points.constFirst().key != points.constFirst().key) {
        for (const QCPGraphData& point : points)
            insertOrReplace(map, point.key, point.value);
        return;
    }
    if (map.isEmpty()) {
        // One by one into the block the map already has: handed the whole vector, the
        // container would take the vector's own block instead, and a live map would lose
        // the room reserved for its run.
        for (const QCPGraphData& point : points)
            map.add(point);
        return;
    }
    if ((map.constEnd() - 1)->key < points.constFirst().key) {
        map.add(points, true);
        return;
    }
    QVector<QCPGraphData> merged;
    merged.reserve(map.size() + points.size());
    auto held = map.constBegin();
    auto incoming = points.constBegin();
    while (held != map.constEnd() && incoming != points.constEnd()) {
        if (held->key < incoming->key) {
            merged.append(*held++);
        } else {
            if (held->key == incoming->key)
                ++held;
            merged.append(*incoming++);
        }
    }
    std::copy(held, map.constEnd(), std::back_inserter(merged));
    std::copy(incoming, points.constEnd(), std::back_inserter(merged));
    map.set(merged, true);
}

void removeFirstPoints(QCPGraphDataContainer& map, qint64 count)
{
    if (count <= 0)
        return;
    if (count >= map.size()) {
        map.clear();
        return;
    }
    map.removeBefore((map.constBegin() + count)->key);
}

ChannelMaps takePointsBefore(const ChannelMaps& maps, double cut)
{
    ChannelMaps taken;
    for (const ChannelMap& map : maps) {
        auto moved = ChannelMap::create();
        if (map) {
            const auto end = map->findBegin(cut, false);
            moved->add(QVector<QCPGraphData>(map->constBegin(), end), true);
            map->removeBefore(cut);
        }
        taken << moved;
    }
    return taken;
}

void reserveLiveMap(QCPGraphDataContainer& map, int points)
{
    // Compacting is ours to do: the container's own would also shrink the block.
    map.setAutoSqueeze(false);
    if (!map.isEmpty() || points <= 0)
        return;
    // The container has no reserve(): filling it touches the block, and clearing it
    // keeps the block.
    for (int i = 0; i < points; ++i)
        map.add(QCPGraphData(i, 0));
    map.clear();
}

void compactLiveMap(QCPGraphDataContainer& map)
{
    map.squeeze(true, false);
}

void releaseLiveMap(QCPGraphDataContainer& map)
{
    map.setAutoSqueeze(true);
    map.squeeze(true, true);
}

ChannelMap firstFilledMap(const ChannelMaps& maps)
{
    for (const ChannelMap& map : maps)
        if (map && !map->isEmpty())
            return map;
    return {};
}

void addPoints(const ChannelMaps& into, const ChannelMaps& from)
{
    for (int i = 0; i < from.size() && i < into.size(); ++i)
        if (into[i] && from[i] && !from[i]->isEmpty())
            into[i]->add(*from[i]);
}
