#pragma once
// How window updates reach the X server. The skinned windows repaint small
// areas up to a hundred times a second; through X shared memory, Qt waits
// for a round trip to the server before every paint, which costs more than
// sending the few changed pixels over the connection.
//
// Made before the QApplication, an object asks Qt's X11 platform for plain
// transfers (QT_XCB_NO_MITSHM), unless the user has chosen already. Release,
// called once the application exists (and at the latest by the destructor),
// takes the request back out of the environment, so that programs started
// later see the user's own. Not thread-safe: use it in main() only.
namespace platform {

class PlainImageTransfer {
public:
    PlainImageTransfer();
    ~PlainImageTransfer();
    PlainImageTransfer(const PlainImageTransfer&) = delete;
    PlainImageTransfer& operator=(const PlainImageTransfer&) = delete;

    // Whether this object put the request into the environment.
    bool Requested() const { return m_requested; }
    void Release();

private:
    bool m_requested = false;
};

} // namespace platform
