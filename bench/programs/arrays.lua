local a = {}
for k = 1, 4096 do a[k] = 0 end
local j = 0
while j < 250 do
  j = j + 1
  local i = 0
  while i < 4000 do
    i = i + 1
    a[i] = a[i] + i
  end
end
print(a[4000])
