# The component download worker fetches installers with the download module's TransferEngine.
target_link_libraries(components PUBLIC download)
