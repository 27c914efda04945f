#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace quillmora {

template <class Signature>
class FunctionRef;

// A non-owning reference to a callable: one indirect call, no allocation. The callable must
// outlive the FunctionRef, which is why it is only ever taken as a parameter.
template <class R, class... Args>
class FunctionRef<R(Args...)> {
  public:
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> &&
             std::is_invocable_r_v<R, F&, Args...>) FunctionRef(F&& f)
    noexcept  // NOLINT(google-explicit-constructor)
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* object, Args... args) -> R {
              return (*static_cast<std::add_pointer_t<F>>(object))(std::forward<Args>(args)...);
          }) {}

    R operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

  private:
    void* object_;
    R (*call_)(void*, Args...);
};

}  // namespace quillmora
