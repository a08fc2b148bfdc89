#include "sound/TimedQueue.h"

#include <algorithm>

namespace chordalis {

namespace {

// std::push_heap keeps the largest first: "later" is the larger.
bool later(const TimedMessage& a, const TimedMessage& b) {
    return a.due != b.due ? a.due > b.due : a.order > b.order;
}

} // namespace

TimedQueue::TimedQueue(std::size_t capacity) : m_capacity(capacity) {
    m_heap.reserve(capacity);
}

bool TimedQueue::push(std::uint32_t word, double due, QueueSource source) {
    if (m_heap.size() >= m_capacity) {
        ++m_dropped;
        return false;
    }
    m_heap.push_back({due, word, source, m_nextOrder++});
    std::push_heap(m_heap.begin(), m_heap.end(), later);
    return true;
}

bool TimedQueue::takeOneDue(double until, TimedMessage& out) {
    if (m_heap.empty() || m_heap.front().due > until)
        return false;
    std::pop_heap(m_heap.begin(), m_heap.end(), later);
    out = m_heap.back();
    m_heap.pop_back();
    return true;
}

std::vector<TimedMessage> TimedQueue::takeDue(double until) {
    std::vector<TimedMessage> due;
    TimedMessage m;
    while (takeOneDue(until, m))
        due.push_back(m);
    return due;
}

double TimedQueue::nextDue() const {
    return m_heap.front().due;
}

std::size_t TimedQueue::cancel(QueueSource source) {
    const std::size_t before = m_heap.size();
    std::erase_if(m_heap, [source](const TimedMessage& m) { return m.source == source; });
    std::make_heap(m_heap.begin(), m_heap.end(), later);
    return before - m_heap.size();
}

std::vector<TimedMessage> TimedQueue::closeAndKeepNoteOffs() {
    std::vector<TimedMessage> offs;
    for (const TimedMessage& m : m_heap)
        if (isNoteOff(m.word))
            offs.push_back(m);
    std::sort(offs.begin(), offs.end(),
              [](const TimedMessage& a, const TimedMessage& b) { return later(b, a); });
    m_heap.clear();
    return offs;
}

} // namespace chordalis
