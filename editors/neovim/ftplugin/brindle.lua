-- Settings for Brindle scripts, and the language server for each one opened.
if vim.b.did_ftplugin then
  return
end
vim.b.did_ftplugin = true

vim.bo.commentstring = "' %s"
vim.bo.comments = ":'"
vim.b.undo_ftplugin = 'setlocal commentstring< comments<'

require('brindle').attach(vim.api.nvim_get_current_buf())
