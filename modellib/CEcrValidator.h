#pragma once

#include "S_ECR_CHECK.h"

// A table's value check, made by the model library. Only the eleventh slot
// is called; the ten before it keep its place. Nobody deletes a validator
// through this interface, so there is no virtual destructor.
class CEcrValidator
{
public:
    virtual void UnusedSlot1() {}
    virtual void UnusedSlot2() {}
    virtual void UnusedSlot3() {}
    virtual void UnusedSlot4() {}
    virtual void UnusedSlot5() {}
    virtual void UnusedSlot6() {}
    virtual void UnusedSlot7() {}
    virtual void UnusedSlot8() {}
    virtual void UnusedSlot9() {}
    virtual void UnusedSlot10() {}
    // Nonzero accepts; 0 refuses and fills *check->Message.
    virtual int Validate(S_ECR_CHECK* check) = 0;

protected:
    CEcrValidator() = default;
    CEcrValidator(const CEcrValidator&) = default;
    CEcrValidator& operator=(const CEcrValidator&) = default;
    ~CEcrValidator() = default;
};
