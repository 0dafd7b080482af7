#pragma once
// How the engine shows its messages: a text and the icon of its message box.

#include <string_view>

namespace keld {

enum class MessageIcon { None, Exclamation };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // One modal message with an OK button alone; lines are joined by "\n".
    virtual void showMessage(std::string_view text, MessageIcon icon) = 0;
};

} // namespace keld
