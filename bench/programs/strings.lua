local s, t = "", ""
local i = 0
while i < 100000 do
  i = i + 1
  s = s .. "x"
end
i = 0
while i < 20000 do
  i = i + 1
  t = tostring(i)
end
print(t)
