// One persisted value with the value as loaded, so that only values that
// changed during the run are written back.
#pragma once

namespace vek::editor {

template <typename T>
class Setting {
public:
    Setting() = default;
    explicit Setting(T initial) : m_loaded(initial), m_current(initial) {}

    // Sets both the loaded and the current value.
    void load(const T &value) { m_loaded = m_current = value; }
    void set(const T &value) { m_current = value; }
    const T &get() const { return m_current; }
    const T &loaded() const { return m_loaded; }
    bool changed() const { return !(m_current == m_loaded); }
    // After a successful write the current value is what the file holds.
    void markSaved() { m_loaded = m_current; }

private:
    T m_loaded{};
    T m_current{};
};

}  // namespace vek::editor
