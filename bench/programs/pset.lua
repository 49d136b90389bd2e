-- The drawing-free counterpart of pset.bas: the same colour value written into a table for
-- every pixel of the 784 x 561 canvas, row by row, ten passes.
local canvas = {}
local colour = 200 + 256 * 40 + 65536 * 40
local pass = 0
while pass < 10 do
  pass = pass + 1
  local y = 0
  while y < 561 do
    local x = 0
    while x < 784 do
      canvas[y * 784 + x + 1] = colour
      x = x + 1
    end
    y = y + 1
  end
end
print(canvas[784 * 561])
