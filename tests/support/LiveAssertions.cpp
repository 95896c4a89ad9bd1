// The tests count on live assertions: the handle types and the containers report
// a misuse through assert, and the death tests check that they do.
#ifdef NDEBUG
#error "the tests need live assertions: build them without NDEBUG"
#endif
