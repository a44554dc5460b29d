// The UI thread's COM apartment for the whole run. On Windows the constructor enters a
// single-threaded apartment through OleInitialize (the folder picker needs one) and the destructor
// leaves it; elsewhere there is no COM and both do nothing. Make one on the UI thread before
// anything else and let it go last.
#pragma once

class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    // Leave only an apartment we entered; unused where there is no COM.
    [[maybe_unused]] bool entered = false;
};
