local i, n = 0, 0
local function bump()
  n = n + 1
end
while i < 5000000 do
  i = i + 1
  bump()
end
print(n)
