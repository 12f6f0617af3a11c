// One visitor from several lambdas: std::visit(Overloaded{[](int) {...}, [](auto&) {...}}, value).
#pragma once

namespace wrivo {

template <class... Kinds>
struct Overloaded : Kinds... {
    using Kinds::operator()...;
};
template <class... Kinds>
Overloaded(Kinds...) -> Overloaded<Kinds...>;

} // namespace wrivo
