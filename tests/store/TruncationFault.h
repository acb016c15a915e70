#pragma once

// Makes every cut of a file's size in this process fail (the system refusing it, as it
// may for a file on a failing disk) while it lives; undone when it goes out of scope.
// Growing a file and every other call work as before.
class TruncationFault
{
public:
    TruncationFault();
    ~TruncationFault();
    TruncationFault(const TruncationFault&) = delete;
    TruncationFault& operator=(const TruncationFault&) = delete;
    void lift();
};
