#pragma once
// Closes every box the player has open (message boxes, dialogs, pop-up
// menus), innermost first, as a signal that ends the player must not wait for
// a click. A dialog is rejected, as if cancelled; the event loop of each box
// returns once the caller is back in that loop. User-interface thread only.
class ModalBoxCloser {
public:
    static void CloseAll();
};
