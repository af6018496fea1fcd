#pragma once
// Owns one X resource (a pixmap or a graphics context) on a connection the
// caller keeps open for the handle's whole life; frees it when destroyed.
#include <xcb/xcb.h>

#include <cstdint>
#include <utility>

namespace skin {

template <xcb_void_cookie_t (*Free)(xcb_connection_t*, uint32_t)>
class XcbHandle {
public:
    XcbHandle() = default;
    XcbHandle(xcb_connection_t* connection, uint32_t id)
        : m_connection(connection)
        , m_id(id)
    {}
    ~XcbHandle() { Reset(); }
    XcbHandle(XcbHandle&& other) noexcept
        : m_connection(other.m_connection)
        , m_id(std::exchange(other.m_id, 0))
    {
    }
    XcbHandle& operator=(XcbHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_connection = other.m_connection;
            m_id = std::exchange(other.m_id, 0);
        }
        return *this;
    }
    XcbHandle(const XcbHandle&) = delete;
    XcbHandle& operator=(const XcbHandle&) = delete;

    uint32_t Id() const { return m_id; }
    explicit operator bool() const { return m_id != 0; }
    void Reset()
    {
        if (m_id != 0) Free(m_connection, m_id);
        m_id = 0;
    }

private:
    xcb_connection_t* m_connection = nullptr;
    uint32_t m_id = 0;
};

using XcbPixmap = XcbHandle<xcb_free_pixmap>;
using XcbGc = XcbHandle<xcb_free_gc>;

} // namespace skin
