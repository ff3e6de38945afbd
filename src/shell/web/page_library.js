// Runtime calls the page answers itself instead of Emscripten's library.
mergeInto(LibraryManager.library, {
  // The boards folder lives in memory, and the page copies it to the
  // browser's storage in the background after every write it notices,
  // showing a refusal in its notice. Emscripten's own sync would suspend
  // the program on that copy at every save, and fail a save whose file is
  // written and offered as a download whenever the browser keeps nothing.
  fd_sync__sig: 'ii',
  fd_sync: function(fd) {
    return FS.getStream(fd) ? 0 : {{{ cDefine('EBADF') }}};
  },
});
