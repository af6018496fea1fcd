#pragma once
// Shows the busy (wait) mouse pointer for as long as the object lives, when
// the program has a graphical application and the object lives on its thread;
// otherwise does nothing. Nested
// guards stack, and the normal pointer comes back when the last one ends,
// also when an exception leaves the scope.

namespace common {

class KtBusyCursor {
public:
    KtBusyCursor();
    ~KtBusyCursor();
    KtBusyCursor(const KtBusyCursor&) = delete;
    KtBusyCursor& operator=(const KtBusyCursor&) = delete;

private:
    bool m_shown = false;
};

} // namespace common
