#pragma once

#include <memory>
#include <optional>
#include <utility>

// An optional value kept on the heap. A record read from a large file holds none of its values
// until they are first asked for; a slot that holds nothing takes the room of a pointer instead of
// the room of the value, and a hundred thousand records each have a dozen such slots. Copies are
// deep, as those of an optional are.
template <typename T> class HeapOptional
{
public:
    using value_type = T;

    HeapOptional() = default;
    HeapOptional(const HeapOptional &other)
        : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr)
    {
    }
    HeapOptional(HeapOptional &&) noexcept = default;
    HeapOptional &operator=(const HeapOptional &other)
    {
        if (this != &other)
            m_value = other.m_value ? std::make_unique<T>(*other.m_value) : nullptr;
        return *this;
    }
    HeapOptional &operator=(HeapOptional &&) noexcept = default;
    HeapOptional &operator=(T value)
    {
        if (m_value)
            *m_value = std::move(value);
        else
            m_value = std::make_unique<T>(std::move(value));
        return *this;
    }
    HeapOptional &operator=(std::nullopt_t)
    {
        m_value.reset();
        return *this;
    }

    explicit operator bool() const { return bool(m_value); }
    bool has_value() const { return bool(m_value); }
    T &operator*() { return *m_value; }
    const T &operator*() const { return *m_value; }
    T *operator->() { return m_value.get(); }
    const T *operator->() const { return m_value.get(); }
    template <typename... Args> T &emplace(Args &&...args)
    {
        m_value = std::make_unique<T>(std::forward<Args>(args)...);
        return *m_value;
    }
    void reset() { m_value.reset(); }

private:
    std::unique_ptr<T> m_value;
};
