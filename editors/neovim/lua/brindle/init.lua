-- Starts `brindle --lsp` for Brindle buffers and attaches them to it. Written for Neovim 0.7,
-- which has neither vim.lsp.start nor vim.fs: one client serves every buffer of a folder, and a
-- buffer whose client has stopped gets a new one.
local M = {}

M.options = {
  -- The program, a path or a name looked up on PATH.
  cmd = { 'brindle', '--lsp' },
  -- Set to false to leave the server out (colours and settings only).
  enabled = true,
}

local clients = {} -- root folder -> client id

function M.setup(options)
  M.options = vim.tbl_extend('force', M.options, options or {})
end

local function folder_of(buf)
  local name = vim.api.nvim_buf_get_name(buf)
  if name == '' then
    return vim.loop.cwd()
  end
  return vim.fn.fnamemodify(name, ':p:h')
end

local function running(id)
  local client = id and vim.lsp.get_client_by_id(id)
  return client ~= nil and not client.is_stopped()
end

local function start(root)
  local program = M.options.cmd[1]
  if vim.fn.executable(program) ~= 1 then
    vim.notify_once('brindle: ' .. program .. ' not found; no faults or hover (set the path with '
      .. "require('brindle').setup({ cmd = { '/path/to/brindle', '--lsp' } }))", vim.log.levels.WARN)
    return nil
  end
  return vim.lsp.start_client({
    name = 'brindle',
    cmd = M.options.cmd,
    root_dir = root,
    workspace_folders = nil,
  })
end

-- What Neovim 0.8 and later set up on their own when a client attaches: completion with
-- <C-x><C-o>, K for the hover and gd for the definition. A key the user has mapped is kept.
local function map_keys(buf)
  vim.bo[buf].omnifunc = 'v:lua.vim.lsp.omnifunc'
  local keys = { K = vim.lsp.buf.hover, gd = vim.lsp.buf.definition }
  for key, action in pairs(keys) do
    if vim.fn.maparg(key, 'n') == '' then
      vim.api.nvim_buf_set_keymap(buf, 'n', key, '', { callback = action, noremap = true })
    end
  end
end

function M.attach(buf)
  if not M.options.enabled then
    return
  end
  local root = folder_of(buf)
  if not running(clients[root]) then
    clients[root] = start(root)
  end
  if clients[root] then
    vim.lsp.buf_attach_client(buf, clients[root])
    map_keys(buf)
  end
end

return M
