// The short list of a drum dialog: a ring of 20 snapshots of the record,
// kept while the user tries variations, and stepped back through from the
// newest. The count stops at 19, so once the ring has filled the slot just
// ahead of the newest snapshot is never reviewed again.
#pragma once

#include <array>

namespace vek::editor {

template <typename Record>
class ShortList {
public:
    static constexpr int kSlots = 20;
    static constexpr int kMaxCount = kSlots - 1;

    void reset() { m_write = m_count = m_review = 0; }

    // Stores `record` at the write position, which becomes the next one
    // reviewed.
    void add(const Record &record) {
        m_slots[m_write] = record;
        m_review = m_write;
        if (m_count < kMaxCount)
            ++m_count;
        m_write = (m_write + 1) % kSlots;
    }

    // The snapshot at the review position, or null when the list is empty;
    // the review position then moves one back, wrapping to count - 1.
    const Record *review() {
        if (m_count == 0)
            return nullptr;
        const Record *shown = &m_slots[m_review];
        if (--m_review < 0)
            m_review = m_count - 1;
        return shown;
    }

    int count() const { return m_count; }
    int writePosition() const { return m_write; }
    int reviewPosition() const { return m_review; }

private:
    std::array<Record, kSlots> m_slots{};
    int m_write = 0;
    int m_count = 0;
    int m_review = 0;
};

}  // namespace vek::editor
