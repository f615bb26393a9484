# The teletext bridge: the socket client against the stand-in server and hostile ones.
pf_add_test(quotes_dde_socket_test ${CMAKE_CURRENT_LIST_DIR}/dde_socket_test.cpp LIBS pf_dde)
# Quotes from teletext pages against the stand-in server: statuses, OK rule, rows, the
# selection dialog's model.
pf_add_test(quotes_vtplus_test ${CMAKE_CURRENT_LIST_DIR}/vtplus_quotes_test.cpp
            LIBS pf_quotes pf_dde)
