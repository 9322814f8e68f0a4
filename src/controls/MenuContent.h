#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One row of an open menu list.
struct MenuRow
{
    enum class Look
    {
        Choice,    // can be picked
        Chosen,    // can be picked; what is in use now
        Inactive,  // shown, not pickable (a note, or a command that cannot be done now)
        Heading,   // a title over what follows, not pickable
    };

    std::string text;
    Look look = Look::Choice;

    bool pickable() const { return look == Look::Choice || look == Look::Chosen; }
};

// What a list menu shows and does. The menu asks for the rows whenever its list opens or
// the content may have changed, and passes on the user's picks.
class MenuContent
{
public:
    virtual ~MenuContent() = default;
    virtual std::vector<MenuRow> rows() = 0;
    // The user picked a pickable row; true keeps the list open (the content moved on).
    virtual bool pick(std::size_t row) = 0;
    // The list closed; the next opening starts afresh.
    virtual void closed() = 0;
};
