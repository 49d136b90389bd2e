-- Runs inside `nvim --headless` with editors/neovim installed as a package, on a script that
-- has a fault and a warning on line 3. Each check prints "ok NAME" or "FAIL NAME: why"; the
-- driver reads them, and Neovim exits 1 when any failed.
local failures = 0
local function check(name, ok, why)
  if ok then
    print('ok ' .. name)
  else
    failures = failures + 1
    print('FAIL ' .. name .. ': ' .. tostring(why))
  end
end

local buf = vim.api.nvim_get_current_buf()
check('filetype', vim.bo.filetype == 'brindle', vim.bo.filetype)
check('commentstring', vim.bo.commentstring == "' %s", vim.bo.commentstring)

local function group_at(line, col)
  return vim.fn.synIDattr(vim.fn.synID(line, col, 1), 'name')
end
check('colours', group_at(2, 1) == 'brindleStatement' and group_at(1, 1) == 'brindleDeclaration'
  and group_at(5, 3) == 'brindleComment', group_at(2, 1) .. ' ' .. group_at(5, 3))

vim.wait(15000, function() return #vim.diagnostic.get(buf) >= 2 end, 20)
local found = {}
for _, d in ipairs(vim.diagnostic.get(buf)) do
  found[#found + 1] = string.format('%d:%d %s', d.lnum + 1, d.col + 1, d.message)
end
local all = table.concat(found, ' | ')
check('fault', all:find('3:1 ERROR: Variable ID not found! -{ PRNT }-Line: 3', 1, true), all)
check('warning', all:find('3:1 PRNT: did you mean the keyword PRINT?', 1, true), all)

local function request(method, line, character)
  local params = {
    textDocument = { uri = vim.uri_from_bufnr(buf) },
    position = { line = line, character = character },
  }
  local replies = vim.lsp.buf_request_sync(buf, method, params, 10000) or {}
  for _, reply in pairs(replies) do
    if reply.result then return reply.result end
  end
  return nil
end

check('keys', vim.fn.maparg('K', 'n') ~= '' and vim.bo.omnifunc == 'v:lua.vim.lsp.omnifunc',
  vim.bo.omnifunc)

local hover = request('textDocument/hover', 1, 2)
local hover_text = hover and vim.inspect(hover.contents) or 'no reply'
check('hover', hover_text:find('PRINT x, y, item', 1, true), hover_text)

-- Line 4 is "PRI": completion offers PRINT.
local completion = request('textDocument/completion', 3, 3)
local items = completion and (completion.items or completion) or {}
local labels = {}
for _, item in ipairs(items) do labels[#labels + 1] = item.label end
check('completion', vim.tbl_contains(labels, 'PRINT'), table.concat(labels, ' '))

vim.cmd(failures == 0 and 'qa!' or 'cquit 1')
