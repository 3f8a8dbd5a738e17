#pragma once
// The live objects of one kind behind their handles. A handle is the object's address;
// looking it up first means a stale or foreign handle fails cleanly instead of crashing.

#include <memory>
#include <mutex>
#include <unordered_map>

namespace zelm::platform::gdi {

template <class T>
class HandleTable {
public:
    T* Add(std::unique_ptr<T> object)
    {
        T* raw = object.get();
        std::lock_guard lock(m_mutex);
        m_objects.emplace(raw, std::move(object));
        return raw;
    }
    // The live object at this address, or null.
    T* Find(const void* handle)
    {
        std::lock_guard lock(m_mutex);
        auto it = m_objects.find(static_cast<T*>(const_cast<void*>(handle)));
        return it == m_objects.end() ? nullptr : it->second.get();
    }
    bool Remove(const void* handle)
    {
        std::lock_guard lock(m_mutex);
        return m_objects.erase(static_cast<T*>(const_cast<void*>(handle))) > 0;
    }

private:
    std::mutex m_mutex;
    std::unordered_map<T*, std::unique_ptr<T>> m_objects;
};

// The process's table for T, never destroyed (objects may be freed from static destructors).
template <class T>
HandleTable<T>& TableOf()
{
    static auto* table = new HandleTable<T>;
    return *table;
}

}  // namespace zelm::platform::gdi
