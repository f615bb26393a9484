# The conversion of first-generation portfolio files, with a writer of such files for tests.
target_sources(pf_archive_test_support PRIVATE first_generation_writer.cpp)
pf_add_test(model_archive_first_generation_test first_generation_test.cpp
            LIBS pf_archive_test_support)
